// The catalogue of installed products that the exports share: one entry per product family per
// partition, in discovery order, owned by the catalogue until the library is unloaded.
#pragma once

#include <list>
#include <memory>

#include "product/product.h"

using ProductCatalogue = std::list<std::unique_ptr<CProduct>>;

extern ProductCatalogue g_products;

// Empties the catalogue for a new scan. The entries of the earlier scan stay allocated, out of the
// catalogue, until the library is unloaded, since callers may still hold texts they were given.
void RetireCatalogue();
// No removal may take the Notes program or data directory of an entry, nor what holds them.
void ProtectNotesDirectories(const ProductCatalogue& catalogue);
// Destroys every entry, those of earlier scans too: the library is being unloaded.
void DestroyCatalogue();
// Sets the family counters and g_installedCount from the catalogue's entries.
void CountFamilies(const ProductCatalogue& catalogue);
// Back to the state of a freshly loaded library: empty catalogue, every counter 0.
void ResetCatalogueState();

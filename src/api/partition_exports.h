// The library side of the partition exports: the partition it remembers once read.
#pragma once

// Forgets the remembered partition, as when the library has just been loaded.
void ForgetRememberedPartition();

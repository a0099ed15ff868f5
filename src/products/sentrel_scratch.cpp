#include "products/sentrel_scratch.h"

char g_scratchText[kScratchTextSize];

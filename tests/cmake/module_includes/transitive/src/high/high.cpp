#include "high/high.h"
#include "low/low.h"
#include "mid/mid.h"

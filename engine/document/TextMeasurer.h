#pragma once
// Text measuring lives in text/TextMeasurer.h. This header only keeps the conversion of
// other programs' PDFs building until it includes that one; remove it then.
#include "text/TextMeasurer.h"

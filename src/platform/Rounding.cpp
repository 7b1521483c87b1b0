#include "platform/Rounding.h"

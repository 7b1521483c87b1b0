#include "platform/TextRules.h"

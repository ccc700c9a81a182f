#include "framework/CBrush.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

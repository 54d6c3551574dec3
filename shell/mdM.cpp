#include "mdM.h"

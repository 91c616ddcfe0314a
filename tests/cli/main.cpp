#include "tests/testMain.h"

QUILLET_TEST_MAIN()

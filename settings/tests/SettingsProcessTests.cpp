// The real settings program.
#include <gtest/gtest.h>

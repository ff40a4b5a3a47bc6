// The settings sheet in process.
#include <gtest/gtest.h>

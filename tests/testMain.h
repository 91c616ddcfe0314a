#pragma once
// Shared main for the non-GUI test programs: a QCoreApplication so that the
// program path, resources and the settings file behave as in the program.
#include <QCoreApplication>
#include <gtest/gtest.h>

#define QUILLET_TEST_MAIN()                                   \
  int main(int argc, char **argv)                             \
  {                                                           \
    QCoreApplication app(argc, argv);                         \
    ::testing::InitGoogleTest(&argc, argv);                   \
    return RUN_ALL_TESTS();                                   \
  }

// Test program of the main window: the program's own application object (look, help file,
// default error handler).
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "TestyOkien.h"

int main(int argc, char** argv) {
    PrzygotowanieSrodowiska();
    TAplikacja aplikacja(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Test program of the windows below the main window: a plain application object with the
// program's font.
#include <QApplication>
#include <gtest/gtest.h>

#include "TestyOkien.h"

int main(int argc, char** argv) {
    PrzygotowanieSrodowiska();
    QApplication aplikacja(argc, argv);
    UstawienieWygladu(aplikacja);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

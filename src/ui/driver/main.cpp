// The program zemra: everything starts in start_zemra (driver/startup.cpp).
#include "ui/driver/startup.h"

int
main(int argc, char **argv)
{
    start_zemra(argc, argv);
}

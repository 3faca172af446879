// The same check compiled as C++ (the file is one translation unit either way).
#include "header_check.c"

/* A program whose main code does nothing links, runs and exits with 0. */
#include "vorn.h"

VORN_MAIN {}

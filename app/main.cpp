// Kestrel's entry point; the command line is ignored.
#include "app/Kestrel.h"

int main() {
    return KestrelMain();
}

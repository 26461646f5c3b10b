#include "main/main.h"

#include <allegro.h>

int main() {
    init();
    deinit();
    return 0;
}
END_OF_MAIN()

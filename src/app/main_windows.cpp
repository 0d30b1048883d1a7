#include "app/Windows.h"

void registerAllWindows() {
}

#include "kxImagePostprocessor.h"

kxImagePostprocessor* kxImagePostprocessor::getImagePostprocessor() {
    static kxImagePostprocessor instance;
    return &instance;
}

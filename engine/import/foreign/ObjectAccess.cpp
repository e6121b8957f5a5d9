#include "import/foreign/ObjectAccess.h"

#include <cmath>

namespace scrivane::foreign {

double Number(QPDFObjectHandle h, double fallback) {
    if (!h.isNumber()) return fallback;
    double v = h.getNumericValue();
    return std::isfinite(v) ? v : fallback;
}

QPDFObjectHandle Key(QPDFObjectHandle dict, const std::string& key) {
    if (!dict.isDictionary()) return QPDFObjectHandle::newNull();
    return dict.getKey(key);
}

QPDFObjectHandle Item(QPDFObjectHandle array, int n) {
    if (!array.isArray() || n < 0 || n >= array.getArrayNItems()) {
        return QPDFObjectHandle::newNull();
    }
    return array.getArrayItem(n);
}

std::string NameOf(QPDFObjectHandle h) { return h.isName() ? h.getName() : std::string(); }

}  // namespace scrivane::foreign

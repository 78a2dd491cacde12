#pragma once
// The skin's legends are set in the DejaVu families (package
// fonts-dejavu-core); another font would change every picture. The generator
// refuses to draw when font lookup lands elsewhere.

#include <string>

namespace ambrel::skin {

// Empty when every face the skin uses resolves to a DejaVu font; otherwise
// what resolved instead.
std::string fontProblems();

}  // namespace ambrel::skin

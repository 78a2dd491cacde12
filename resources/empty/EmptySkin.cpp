// Placeholder until the skin generator lands: a translation unit so that the
// skin libraries exist.
namespace ambrel { int emptySkinPlaceholder = 0; }

#include "core/Edition.h"

// This plug-in binary is the sibling edition.
const ambrel::Edition& ambrel::activeEdition() { return siblingEdition(); }

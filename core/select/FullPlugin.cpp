#include "core/Edition.h"

// This plug-in binary is the full edition.
const ambrel::Edition& ambrel::activeEdition() { return fullEdition(); }

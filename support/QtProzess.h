#pragma once
// The child process of a GTP engine with QProcess and its blocking calls. It is used on whatever
// thread asks (the search thread, the main thread at the end): between two calls it belongs to
// no thread, and each call takes it over.
#include "gtp/Prozess.h"

std::unique_ptr<TProzess> NeuerQtProzess();

// The files gridora-admin writes go through the league core's atomic writer (AtomicFile.h).
#pragma once

#include "AtomicFile.h"

namespace gr::admin {

using OutputFile = core::AtomicFile;
using core::FileAccess;
using core::WriteAll;
using core::WriteWholeFile;

}  // namespace gr::admin

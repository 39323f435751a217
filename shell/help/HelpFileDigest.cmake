# Writes HelpFileDigest.h from the help file the build just compiled: its
# size and SHA-256, which the viewer checks before Qt reads the file.
#   cmake -DHELP_FILE=<nvgd.rcc> -DOUTPUT=<HelpFileDigest.h> -P HelpFileDigest.cmake
file(SIZE ${HELP_FILE} size)
file(SHA256 ${HELP_FILE} digest)
file(WRITE ${OUTPUT} "// Made by the build from the help file it compiled; see HelpFileDigest.cmake.
#pragma once

#include <QtGlobal>

namespace hh {

inline constexpr qint64 kHelpFileSize = ${size};
inline constexpr char kHelpFileSha256[] = \"${digest}\";

}  // namespace hh
")

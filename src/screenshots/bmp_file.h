// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace kivo::screenshots {

// True when the bytes hold a whole BMP file: the file and information headers and, for pixels
// stored uncompressed (or with bit-field masks), every row the header promises; for run-length
// encoded pixels, the data size the header states. The platform's bitmap reader accepts a file cut
// short inside its pixels and fills the missing rows with whatever it likes, so a screenshot the
// emulator was still writing, or a broken copy, would be shown as a damaged picture instead of
// being refused. Encodings this check does not know are left to the reader to accept or refuse.
bool BmpFileComplete(std::string_view bytes);

}  // namespace kivo::screenshots

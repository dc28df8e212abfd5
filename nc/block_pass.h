#pragma once

#include "line_converters.h"
#include "nc_commands.h"
#include "nc_reader.h"
#include "nc_writer.h"

namespace nc {

// Converts all blocks of the reader into the writer, on as many threads as the
// processor has: blocks are converted side by side by clones of the converter
// and written in their order. A converter that carries state across lines is
// run on the state that blocks start in almost always (the initial one), and
// a block is converted again, in order, when its real starting state differs,
// so the bytes are those of one converter going through the lines in order.
// The first error in line order is thrown, numbered from the first line;
// progress is reported on the calling thread.
void ConvertBlocks(NcReader& reader, NcWriter& writer, const LineConverter& prototype,
                   const Progress& progress);

} // namespace nc

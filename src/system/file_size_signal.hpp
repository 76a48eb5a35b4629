#pragma once

namespace mirvok {

// Makes a write beyond the file-size limit (`ulimit -f`, which cluster jobs
// often get) fail with an error, as a full disk fails, instead of ending the
// program at once by SIGXFSZ in the middle of a line: the program then cuts
// its file back to whole lines, removes its temporaries and says what
// happened. Called once at the start of a program.
void ignoreFileSizeSignal();

}  // namespace mirvok

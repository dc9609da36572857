// The blocks that the setup program carries: the payload file of each file
// item of the installation table, and the window template. The build takes
// the CRC-32 of each block's bytes and stores it beside the block; the
// program takes it again before it writes anything, so that a damaged copy
// (a broken download, a failing disk) installs nothing. A checksum guards
// against damage only: whoever can change a block can change its checksum
// too, and the program's signature is what guards against that.
#pragma once

// Whether every block holds the bytes the build stored.
bool CarriedBlocksIntact();

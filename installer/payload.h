// The product that the setup program carries: one byte block embedded at
// build time for each file of the installation table, and the deployment
// steps that write them out.
#pragma once

#include "installer/installation_layout.h"
#include "services/values.h"

// The stored blocks (dimension count, byte count, bytes), in constant data,
// each followed by the symbol of its end.
extern "C" const uint8_t MainProgramImage[];
extern "C" const uint8_t UninstallerImage[];
extern "C" const uint8_t ProductIconImage[];

// The bytes of an embedded block, read within its bounds; false when its
// stored form is damaged.
bool PayloadBytes(PayloadBlock block, ByteBlock* bytes);

// Whether an embedded block's bytes are still those the build stored: their
// CRC-32 is the one the build took.
bool PayloadIntact(PayloadBlock block);

// The CRC-32 of a block's bytes, as the build takes it (zlib's).
uint32_t ChecksumOf(ByteBlock bytes);

// Creates the folder unless something of that name exists.
void PrepareFolder(const InstalledFolder& folder);

// Writes the file's block where the file goes on this machine; true when the
// whole file was written.
bool WriteFileItem(const FileItem& file);

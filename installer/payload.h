// The product that the setup program carries: three byte blocks embedded at
// build time, and the deployment steps that write them out.
#pragma once

#include "installer/installation_layout.h"
#include "services/values.h"

// The stored blocks (dimension count, byte count, bytes), in constant data.
extern "C" const uint8_t MainProgramImage[];
extern "C" const uint8_t UninstallerImage[];
extern "C" const uint8_t ProductIconImage[];

// The bytes of a stored block.
ByteBlock PayloadBytes(const uint8_t* storedBlock);

// Creates the installation folder unless something of that name exists.
void PrepareInstallFolder();

// Writes one payload block to `path`; true when the whole file was written.
bool WritePayload(const Text& path, const uint8_t* storedBlock);

// The folder where a write to the system directory really lands (the 32-bit
// system folder under WoW64) followed by the icon file name.
Text ProductIconPath();

// The host's demand-load entries: where the module lies and which commands load it.
#pragma once

// Writes the application "Curvix" with its group and the commands marked for demand loading.
void writeDemandLoadEntries();

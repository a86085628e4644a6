// The language's sound values mapped to the engine's ranges (float products
// in single precision, truncated toward zero): volume 0..1 to 0..255 for
// sounds and channels and 0..256 for music, pan -1..1 to 0..255.
#pragma once

int soundVolumeValue(float volume);
int musicVolumeValue(float volume);
int panValue(float pan);

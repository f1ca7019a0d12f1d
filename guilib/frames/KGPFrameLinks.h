// The frames' answers to what the families below them ask of a frame,
// registered by every library frame as it is made.
#pragma once

void KGPRegisterFrameLinks();

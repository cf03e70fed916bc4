// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <string>
#include <vector>

// The demo library's screenshots: small pixel scenes of its invented games, drawn in code at the
// size an emulator screenshot has (256 x 224), with few enough colours to fit a GIF palette.
namespace demo_art {

inline constexpr int kWidth = 256;
inline constexpr int kHeight = 224;

QImage StarlightCourier();  // night sky over mountains, a courier bird on its round
QImage LanternTide();       // a boat with a lantern on a sea at dusk
QImage CloudMill();         // a windmill on green hills
QImage RustBucketRacing();  // a racing car on a road: the emulator's last screenshot in the demo
QImage PocketComet();       // a comet passing a ringed planet
// A knight walking through a forest, one picture per frame of a looping animation.
std::vector<QImage> MossKnightFrames();

// GIF bytes of the frames (all of one size) with one global palette of their colours; more than
// one frame makes an endlessly looping animation with `delay` hundredths of a second per frame.
// Throws std::runtime_error when the frames hold more than 256 colours together.
std::string EncodeGif(const std::vector<QImage>& frames, int delay);

}  // namespace demo_art

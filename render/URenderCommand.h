// The "render" command of the command-line program: one card's face written as a PNG.
#pragma once

#include "core/UCardDatabase.h"

#include <ostream>
#include <string>

namespace zandor {

// Makes sure a GUI application exists (offscreen when no platform is chosen), so that
// text can be drawn from a program without windows, and registers the card fonts.
void EnsureRenderingApplication();

// Stretch method by its option name ("standart", "box", "lanczos3", any case) or number;
// -1 for anything else.
int StretchMethodByName(const std::string& name);

// The status of a render whose picture was written without its art or its frame.
inline constexpr int RenderIncomplete = 3;

// Draws the card (edition may be empty) with the stretch method named (empty: the
// settings' choice) and writes the face to outFile atomically. Problems with frames or art
// are told on err; the status is 0 when the whole face was written, RenderIncomplete when
// it was written without its art or frame, 1 when nothing was written.
int RunRenderCommand(const TCardDatabase& db, const std::string& name, const std::string& edition,
                     const std::string& stretch, const std::string& outFile, std::ostream& out,
                     std::ostream& err);

} // namespace zandor

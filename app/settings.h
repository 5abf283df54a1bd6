// The settings file: the view origin, the date and the zoom index, carried
// from one run to the next in the user's configuration folder.
#pragma once

#include <QString>

#include "app/shellstate.h"
#include "engine/mapstate.h"
#include "platform/codepage.h"
#include "platform/text.h"

namespace quil2a {

// The file's one fixed place.
QString settingsFilePath();

// Sets x0, y0, maindate and scaleindex from the lines "key = value" found;
// a value that is not a whole number counts as absent.
void readSettingsText(const plat::Bytes& text, MapState& m, ShellState& s);
// The most of the file that is read: its few lines fit many times over.
inline constexpr qint64 kMaxSettingsBytes = 4096;
// Reads the file when it is a regular file, up to kMaxSettingsBytes; anything
// else at its place (a folder, a named pipe) counts as no file.
void ReadSettings(MapState& m, ShellState& s);

// The four lines written on quit.
plat::Bytes settingsText(const MapState& m);
// Writes the file through a temporary one renamed into place, so that a
// failed write leaves the previous file whole. False when it failed, with
// the reason in *why when given.
bool SaveSettings(const MapState& m, QString* why = nullptr);
// The message for a file that could not be written, in Greek for the Greek code page.
plat::Bytes settingsNotSavedMessage(const QString& path, const QString& why, plat::CodePage cp);

}  // namespace quil2a

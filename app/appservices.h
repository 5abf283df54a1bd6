// What the main window asks of the application: the engine and the tables to
// read, the shell's state, the other windows made on first use, and the
// program's own services. The application object implements it.
#pragma once

#include <QSize>

#include "app/pictures.h"
#include "app/shellstate.h"
#include "atlasdata/atlas.h"
#include "engine/engine.h"
#include "engine/mapstate.h"
#include "hypertext/narrative.h"
#include "dialog/options.h"

namespace quil2a {

class AppServices {
public:
    virtual ~AppServices() = default;

    virtual MapEngine& engine() = 0;
    virtual const MapState& map() const = 0;
    virtual const Atlas& atlas() const = 0;
    virtual ShellState& shell() = 0;
    virtual StoredPictures& pictures() = 0;
    // The first screen's size.
    virtual QSize screenSize() const = 0;

    // The narrative window, made on first use; null without one.
    virtual NarrativeWindow* narrative() = 0;
    // The options dialog, made hidden on first use; null while it is being made.
    virtual OptionsDialog* optionsDialog() = 0;
    // The main window's full screen and menu bar.
    virtual void setFullScreen(bool on) = 0;
    virtual void setMenuBarVisible(bool visible) = 0;
    // A message box is up: the animation timer's ticks wait.
    virtual bool modalRunning() const = 0;
    // Ends the program.
    virtual void quitProgram() = 0;
};

}  // namespace quil2a

// Saving, printing and copying the map are built on this entry point; until
// they are, the export buttons and commands leave the map as it is.
#include "dialog/maindlg.h"

namespace quil2a {

void MainDlg::SaveMap(int32_t) {}

}  // namespace quil2a

#include "views/ProgramDialogs.h"

#include "views/CMainView.h"
#include "views/MainViewDialogs.h"

void InstallProgramDialogs(CMainView& view)
{
    // Each dialog is made when its command runs, owned by the window given
    // as its parent and gone when it closes.
    MainViewDialogs dialogs;
    view.SetDialogs(dialogs);
}

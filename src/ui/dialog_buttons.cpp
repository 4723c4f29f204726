#include <windows.h>

#include "ui/dialog_buttons.h"

void CreateDialogButtons(TForm& form, TButton& ok, TButton& cancel, TBevel& line,
                         const TDialogButtonsLayout& layout, int clientWidth, int clientHeight) {
    ok.Create(form.Handle(), layout.ok, L"OK");
    ok.modalResult = mrOk;
    cancel.Create(form.Handle(), layout.cancel, L"Отмена");
    cancel.modalResult = mrCancel;
    line.Create(form.Handle(), {0, clientHeight - layout.bandHeight, clientWidth, 2},
                SS_ETCHEDHORZ);
    form.SetDefaultButton(&ok);
    form.SetCancelButton(&cancel);
}

#include "Dialogs.h"

#include "Forms.h"

int MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int) {
  UINT flags = MB_OK;
  if (buttons.contains(mbYes) && buttons.contains(mbNo))
    flags = buttons.contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  else if (buttons.contains(mbRetry) && buttons.contains(mbCancel))
    flags = MB_RETRYCANCEL;
  else if (buttons.contains(mbAbort))
    flags = MB_ABORTRETRYIGNORE;
  else if (buttons.contains(mbOK) && buttons.contains(mbCancel))
    flags = MB_OKCANCEL;
  const char* caption = "Information";
  switch (type) {
    case mtWarning: flags |= MB_ICONWARNING; caption = "Warning"; break;
    case mtError: flags |= MB_ICONERROR; caption = "Error"; break;
    case mtInformation: flags |= MB_ICONINFORMATION; break;
    case mtConfirmation: flags |= MB_ICONQUESTION; caption = "Confirm"; break;
    case mtCustom: caption = ""; break;
  }
  // The message-box answers and the dialog results share their numbers.
  return Application ? Application->MessageBox(message, caption, flags) : mrCancel;
}

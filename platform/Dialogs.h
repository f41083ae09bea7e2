#pragma once
// Message dialogs of the classic kinds, shown through the application's
// message box (so tests answer them with the same responder).

#include <string>

#include "Types.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

int MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);

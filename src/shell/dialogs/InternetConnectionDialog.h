#pragma once
// The menus' wrapper of the connection question: a dialog with the caller's caption and one
// connection panel, whose "I'm Already Connected" answers Enter and whose "Back" answers Escape.
#include "ui/controls/JDialog.h"

class CCallback;
class CInternetConnectionPanel;

class CInternetConnectionDialog : public CJDialog
{
public:
    // action may be null: the menus set it afterwards on the panel.
    CInternetConnectionDialog(CJWindow* parent, const char* caption, const char* message, CCallback* action);
    ~CInternetConnectionDialog() override;

    CInternetConnectionPanel* GetPanel() const { return m_panel; }

private:
    CInternetConnectionPanel* m_panel;
};

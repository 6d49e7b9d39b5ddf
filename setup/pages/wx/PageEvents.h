#pragma once

class Diagnostic;
class Settings;
class Updata;
class VF510;
class wxPanel;

// Sends the clicks of a page's window to its logic, one handler per
// control. The commands that keep the window busy for a while (font
// transfers, the character screens) show the busy cursor meanwhile.
void BindSettingsPage(wxPanel& panel, Settings& page);
void BindUpdataPage(wxPanel& panel, Updata& page);
void BindDiagnosticPage(wxPanel& panel, Diagnostic& page);
void BindVF510Page(wxPanel& panel, VF510& page);

// The pages' resources, compiled into the library (call once at start).
void InitPageResources();

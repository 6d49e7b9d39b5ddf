#pragma once

// Fits the toolkit's controls to the heights the dialog templates give them
// (edits 12, buttons 14, radio buttons and check boxes 10 dialog units): on
// GTK the theme's roomy padding would clip their text. Elsewhere nothing.
void UseCompactControlStyle();

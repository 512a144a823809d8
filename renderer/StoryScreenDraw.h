// The story's save screen between two seasons: its state, and the view its panel is
// drawn in (the panel draws itself).
#pragma once

// Opaque black behind the panel, no lighting, until EndSaveScreen.
void BeginSaveScreen();
void EndSaveScreen();
// Keeps the modelview and sets the panel's view over the whole window: 90 degrees, the
// eye 3.5 in front of the centre. EndSaveScreenFrame gives the modelview back.
void BeginSaveScreenFrame(int screenWidth, int screenHeight);
void EndSaveScreenFrame();
// After the frame is shown.
void ClearSaveScreen();

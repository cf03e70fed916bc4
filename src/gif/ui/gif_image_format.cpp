#include "gif/ui/gif_image_format.h"

#include <QGuiApplication>
#include <QScreen>

#include "gif/gif_types.h"
#include "gif/ui/gif_graphic.h"
#include "screenshots/ui/picture_holder.h"

void RegisterGifImageFormat() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  // A palette screen shows at most 256 colours at a time: 8 bits per pixel or fewer.
  const QScreen* screen = QGuiApplication::primaryScreen();
  DoAutoDither = screen != nullptr && screen->depth() <= 8;
  picture_holder::RegisterFileFormat("gif", "GIF Image", TGIFGraphic::LoadFromFile);
}

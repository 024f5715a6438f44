# The sizes in pixels of the PNG icons rendered from zemkari.svg: the window's icon
# resource, the desktop install and its check are made from this list, and
# render.sh renders it.
set(ZEMKARI_ICON_SIZES 16 32 48 64 128 256)

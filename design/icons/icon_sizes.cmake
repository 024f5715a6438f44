# The sizes in pixels of the PNG icons rendered from zemkari.svg: the window's icon
# resource, the desktop install and its check are made from the first list, the page's
# icons for an installed app (each also maskable) from the second; render.sh renders
# them all.
set(ZEMKARI_ICON_SIZES 16 32 48 64 128 256)
set(ZEMKARI_PAGE_ICON_SIZES 192 512)

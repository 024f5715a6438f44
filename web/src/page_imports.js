// Declares the functions of page_imports.h to the linker; the page's module
// (zemkari.js) gives their bodies when it instantiates the WebAssembly module.
mergeInto(LibraryManager.library, {
  zk_set_text: function () {},
  zk_set_colour: function () {},
  zk_set_enabled: function () {},
  zk_is_enabled: function () {},
  zk_selected_index: function () {},
  zk_disable_chart: function () {},
  zk_set_timer_interval: function () {},
  zk_start_timer: function () {},
  zk_stop_timer: function () {},
  zk_draw_chart: function () {},
  zk_millisecond_of_utc_day: function () {},
  zk_show_error: function () {},
});

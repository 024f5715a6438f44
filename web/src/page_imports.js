// Declares the functions of page_imports.h to the linker; the page's module
// (zemkari.js) gives their bodies when it instantiates the WebAssembly module.
mergeInto(LibraryManager.library, {
  PageSetText: function () {},
  PageSetColour: function () {},
  PageSetEnabled: function () {},
  PageIsEnabled: function () {},
  PageSelectedIndex: function () {},
  PageDisableChart: function () {},
  PageSetTimerInterval: function () {},
  PageStartTimer: function () {},
  PageStopTimer: function () {},
  PageDrawChart: function () {},
  PageMillisecondOfUtcDay: function () {},
  PageShowError: function () {},
});

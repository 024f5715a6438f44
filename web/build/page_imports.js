// The functions the page's module gives the WebAssembly module (web/page/page_imports.h),
// named for the linker, which accepts an import only from a JavaScript library: a name
// missing here fails the link. zemkari.js gives the bodies, and checks as it loads that
// it gives exactly what the module imports.
mergeInto(LibraryManager.library, {
  PageSetText: function () {},
  PageSetColour: function () {},
  PageSetEnabled: function () {},
  PageIsEnabled: function () {},
  PageSelectedIndex: function () {},
  PageSelect: function () {},
  PageBlankChart: function () {},
  PageKeepChartBase: function () {},
  PageRestoreChartBase: function () {},
  PageSetTimerInterval: function () {},
  PageStartTimer: function () {},
  PageStopTimer: function () {},
  PageDrawChart: function () {},
  PageShowError: function () {},
});

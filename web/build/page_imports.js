// The functions the page's module gives the WebAssembly module (web/page/page_imports.h),
// named for the linker, which accepts an import only from a JavaScript library: a name
// missing here fails the link. zemkari.js gives the bodies, and checks as it loads that
// it gives exactly what the module imports.
const pageImports = ['PageSetText', 'PageSetColour', 'PageSetEnabled', 'PageIsEnabled', 'PageSelectedIndex',
  'PageSelect', 'PageBlankChart', 'PageKeepChartBase', 'PageRestoreChartBase', 'PageSetTimerInterval',
  'PageStartTimer', 'PageStopTimer', 'PageDrawChart', 'PageShowError'];
mergeInto(LibraryManager.library, Object.fromEntries(pageImports.map((name) => [name, function () {}])));

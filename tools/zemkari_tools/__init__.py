"""The project's Python tools, one package on PYTHONPATH=tools (tools/lib.sh's
browser_python, the CMake tests of the page):

- page_driver, engines: the browser page under a test's control, in Chromium, Firefox
  ESR and WebKitGTK;
- measure_page, lighthouse: the page's measurement and its Lighthouse scores;
- native_performance, web_performance: the figures of the game and of the page judged
  against their bounds;
- performance_doc: the tables of docs/performance.md, written between its markers.

The scripts of tools/ run each as `python3 -m zemkari_tools.NAME`."""

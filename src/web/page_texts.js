// The page's own texts, besides the controls' names and descriptions that come with the layout.
// The translation tools collect them from here into the program's translation files, from
// which the page takes each one in the browser's language.
var QT_TRANSLATE_NOOP = function (scope, text) { return text; };
var tessarionPageTexts = {
  pictures: QT_TRANSLATE_NOOP('Page', 'Pictures'),
  copyPicture: QT_TRANSLATE_NOOP('Page', 'Copy picture'),
  savePicture: QT_TRANSLATE_NOOP('Page', 'Save picture'),
  saveSvg: QT_TRANSLATE_NOOP('Page', 'Save picture as SVG'),
  clipboardRefused: QT_TRANSLATE_NOOP('Page',
    'The browser does not let the page copy the picture. Use "Save picture" instead.'),
};

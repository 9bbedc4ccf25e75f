// A DLL that Windows does not have, for the tests to plant beside themselves.
__declspec(dllexport) int orvando_planted(void) {
  return 1;
}

/* The floor for a process: start, read up to 8 KB from one file, write them
   to another, exit. Only the C library. */
#include <stdio.h>

int main(int argc, char** argv) {
  static char buffer[8192];
  if (argc < 3) return 2;
  FILE* in = fopen(argv[1], "rb");
  if (in == NULL) return 1;
  size_t got = fread(buffer, 1, sizeof buffer, in);
  fclose(in);
  FILE* out = fopen(argv[2], "wb");
  if (out == NULL) return 1;
  size_t put = fwrite(buffer, 1, got, out);
  return fclose(out) == 0 && put == got ? 0 : 1;
}

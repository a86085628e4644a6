/* A child process for the CreateProcess tests: answers every line of its
 * standard input with "echo: LINE" and, at the end of its input, "end". */
#include <stdio.h>
#include <string.h>

int main(void) {
    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        line[strcspn(line, "\r\n")] = 0;
        printf("echo: %s\n", line);
        fflush(stdout);
    }
    printf("end\n");
    return 0;
}

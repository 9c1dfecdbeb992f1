/* A program that does nothing: Browse reads only its version resource. */
int main(void)
{
    return 0;
}

# Card pictures: loading our card module and drawing cards.

// A small seeded generator for the random tests, so that a failing case
// can be played again from its seed.
export function sorteador(semente) {
  let s = semente >>> 0 || 1;
  const proximo = () => {
    s ^= s << 13;
    s ^= s >>> 17;
    s ^= s << 5;
    return (s >>> 0) / 2 ** 32;
  };
  const ate = (n) => Math.floor(proximo() * n);
  return { ate, um: (lista) => lista[ate(lista.length)] };
}
